#pragma once

#include "qt/WidgetPeer.h"

#include <QWidget>

class QTextEdit;

namespace tk {
class TRichEdit;
}

namespace qtui {

class PlainTextView;

// The two faces of a rich edit, one shown at a time over the whole control: the light viewer for
// plain text, and Qt's text editor for rich text and for plain text the user may edit or that
// wraps.
class RichEditWidget : public QWidget {
public:
    explicit RichEditWidget(QWidget* parent);

    PlainTextView* Viewer() const { return m_viewer; }
    QTextEdit* Editor() const { return m_editor; }
    bool EditorShown() const { return m_editorShown; }
    void ShowEditor(bool editor);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    PlainTextView* m_viewer;
    QTextEdit* m_editor;
    bool m_editorShown = false;
};

class RichEditPeer : public ControlPeer<tk::TRichEditPeer> {
public:
    // Plain text beyond this many bytes always goes to the viewer: Qt's editor lays out the whole
    // text at once and takes seconds and hundreds of megabytes for a large file.
    static constexpr size_t EditorTextLimit = 1u << 20;

    RichEditPeer(tk::TRichEdit& richEdit, QtBackend& backend);

    void ContentChanged() override { Changed(LinesChange); }
    void SetReadOnly(bool) override { Changed(ModeChange); }
    void SetScrollBars(tk::TScrollStyle) override { Changed(ScrollBarsChange); }
    void SetWordWrap(bool) override { Changed(ModeChange); }
    void SetDefAttributes(const tk::TFont&) override { Changed(AttributesChange); }

    RichEditWidget* Faces() const { return m_faces; }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned LinesChange = OwnChange<0>;
    static constexpr unsigned ModeChange = OwnChange<1>;
    static constexpr unsigned ScrollBarsChange = OwnChange<2>;
    static constexpr unsigned AttributesChange = OwnChange<3>;

    void ShowContent();
    void ApplyMode();
    void ApplyScrollBars();
    void ApplyBackground();
    void UserEdited();

    tk::TRichEdit& m_richEdit;
    RichEditWidget* m_faces;
    // The editor's own change signals while the peer fills it are no edits of the user's.
    bool m_filling = false;
};

}  // namespace qtui
