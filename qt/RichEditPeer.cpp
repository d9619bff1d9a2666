#include "qt/RichEditPeer.h"

#include "qt/Convert.h"
#include "qt/PlainTextView.h"
#include "qt/RichTextDocument.h"
#include "toolkit/RichEdit.h"

#include <QScrollBar>
#include <QTextEdit>

namespace qtui {

namespace {
Qt::ScrollBarPolicy Policy(bool shown)
{
    return shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
}

// The face in the default attributes, falling back on the desktop's Japanese gothic for text its
// own face lacks.
QFont DefaultFont(const tk::TFont& attributes)
{
    QFont font = ToQFont(attributes);
    font.setFamilies({MapFontFamily(ToQString(attributes.Name())), MapFontFamily(ToQString(tk::DefaultFontName()))});
    return font;
}
// The lines as the editor takes them: one line break between lines, none after the last, since a
// final break opens no line of the rich edit.
QString EditorText(const tk::TTextBuffer& lines)
{
    std::string text;
    text.reserve(lines.Text().size());
    for (int index = 0; index < lines.Count(); ++index) {
        if (index)
            text += '\n';
        text += lines.Line(index);
    }
    return ToQString(text);
}
}  // namespace

RichEditWidget::RichEditWidget(QWidget* parent)
    : QWidget(parent), m_viewer(new PlainTextView(this)), m_editor(new QTextEdit(this))
{
    m_editor->setAcceptRichText(false);
    m_editor->document()->setDocumentMargin(2);
    m_editor->hide();
    setFocusProxy(m_viewer);
}

void RichEditWidget::ShowEditor(bool editor)
{
    m_editorShown = editor;
    m_viewer->setVisible(!editor);
    m_editor->setVisible(editor);
    setFocusProxy(editor ? static_cast<QWidget*>(m_editor) : m_viewer);
}

void RichEditWidget::resizeEvent(QResizeEvent*)
{
    m_viewer->setGeometry(rect());
    m_editor->setGeometry(rect());
}

RichEditPeer::RichEditPeer(tk::TRichEdit& richEdit, QtBackend& backend)
    : ControlPeer(richEdit, backend), m_richEdit(richEdit), m_faces(new RichEditWidget(ParentContainer()))
{
    Attach(m_faces, InputRouter::ClickStyle::Native);
    for (QWidget* watched : std::initializer_list<QWidget*>{m_faces->Viewer(), m_faces->Viewer()->viewport(),
                                                           m_faces->Editor(), m_faces->Editor()->viewport()})
        Router()->Watch(*watched);
    auto edited = [this] {
        if (!m_filling)
            UserEdited();
    };
    QObject::connect(m_faces->Editor(), &QTextEdit::textChanged, m_faces, WhileAttached(edited));
}

void RichEditPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ColorChange)
        ApplyBackground();
    if (changes & ModeChange)
        ApplyMode();
    if (changes & ScrollBarsChange)
        ApplyScrollBars();
    // The automatic colour and default size of a document come from the default attributes, and
    // the mode decides which face shows plain text: each of these fills the face anew.
    if (changes & (LinesChange | ModeChange | AttributesChange))
        ShowContent();
}

void RichEditPeer::ShowContent()
{
    const tk::TRichContent& content = m_richEdit.Content();
    const tk::TFont& defaults = m_richEdit.DefAttributes();
    bool editable = !m_richEdit.ReadOnly() || m_richEdit.WordWrap();
    bool useEditor = content.document || (editable && content.lines->Text().size() <= EditorTextLimit);
    QTextEdit* editor = m_faces->Editor();
    PlainTextView* viewer = m_faces->Viewer();
    m_filling = true;
    if (useEditor) {
        QPalette palette = editor->palette();
        palette.setColor(QPalette::Text, ToQColor(defaults.Color()));
        editor->setPalette(palette);
        editor->document()->setDefaultFont(DefaultFont(defaults));
        if (content.document)
            FillDocument(*editor->document(), *content.document, defaults);
        else
            editor->setPlainText(EditorText(*content.lines));
        viewer->SetLines(nullptr);
    } else {
        viewer->SetTextFont(DefaultFont(defaults), ToQColor(defaults.Color()));
        viewer->SetLines(content.lines);
        editor->clear();
    }
    m_filling = false;
    m_faces->ShowEditor(useEditor);
}

void RichEditPeer::ApplyMode()
{
    QTextEdit* editor = m_faces->Editor();
    editor->setReadOnly(m_richEdit.ReadOnly());
    if (m_richEdit.ReadOnly())
        editor->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    editor->setLineWrapMode(m_richEdit.WordWrap() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void RichEditPeer::ApplyScrollBars()
{
    tk::TScrollStyle style = m_richEdit.ScrollBars();
    bool horizontal = style == tk::TScrollStyle::ssHorizontal || style == tk::TScrollStyle::ssBoth;
    bool vertical = style == tk::TScrollStyle::ssVertical || style == tk::TScrollStyle::ssBoth;
    for (QAbstractScrollArea* area : std::initializer_list<QAbstractScrollArea*>{m_faces->Viewer(), m_faces->Editor()}) {
        area->setHorizontalScrollBarPolicy(Policy(horizontal));
        area->setVerticalScrollBarPolicy(Policy(vertical));
    }
}

void RichEditPeer::ApplyBackground()
{
    QColor color = ToQColor(m_richEdit.Color());
    m_faces->Viewer()->SetBackground(color);
    QPalette palette = m_faces->Editor()->palette();
    palette.setColor(QPalette::Base, color);
    m_faces->Editor()->setPalette(palette);
}

void RichEditPeer::UserEdited()
{
    m_richEdit.InputText(ToCp932(m_faces->Editor()->toPlainText()));
}

}  // namespace qtui
