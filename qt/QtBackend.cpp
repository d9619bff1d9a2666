#include "qt/QtBackend.h"

#include "qt/ButtonPeer.h"
#include "qt/CheckBoxPeer.h"
#include "qt/ComboBoxPeer.h"
#include "qt/Convert.h"
#include "qt/DirectoryListPeer.h"
#include "qt/DriveComboPeer.h"
#include "qt/EditPeer.h"
#include "qt/FormPeer.h"
#include "qt/HtmlPeer.h"
#include "qt/ImagePeer.h"
#include "qt/LabelPeer.h"
#include "qt/ListViewPeer.h"
#include "qt/PageControlPeer.h"
#include "qt/PanelPeer.h"
#include "qt/RichEditPeer.h"
#include "qt/ScrollBarPeer.h"
#include "qt/StringGridPeer.h"
#include "qt/UpDownPeer.h"
#include "toolkit/Application.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/Html.h"
#include "toolkit/Image.h"
#include "toolkit/ListView.h"
#include "toolkit/RichEdit.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Timer.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace qtui {

QtBackend::QtBackend()
{
    // Windows come and go as the model says; hiding the last one does not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

// The widgets of freed controls wait for the event loop to delete them (deleteLater); once the
// program's components are gone no loop turns again, so they are deleted here.
QtBackend::~QtBackend()
{
    for (auto& [timer, qtimer] : m_timers)
        qtimer->stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtBackend::Install(tk::TApplication& application)
{
    application.SetPeerFactory(this);
    application.SetClock(this);
    application.SetMessageLoop(this);
    application.SetDialogs(this);
    application.SetTextMetrics(this);
    application.SetMetafileRenderer(&m_metafileRenderer);
    application.SetPictureDecoder(&m_pictureDecoder);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        application.SetDesktopSize(screen->geometry().width(), screen->geometry().height());
    m_controlMap = ControlMap::FromEnvironment(application);
}

std::unique_ptr<tk::TFormPeer> QtBackend::CreatePeer(tk::TForm& form)
{
    return std::make_unique<FormPeer>(form, *this);
}

std::unique_ptr<tk::TPanelPeer> QtBackend::CreatePeer(tk::TPanel& panel)
{
    return std::make_unique<PanelPeer>(panel, *this);
}

std::unique_ptr<tk::TLabelPeer> QtBackend::CreatePeer(tk::TLabel& label)
{
    return std::make_unique<LabelPeer>(label, *this);
}

std::unique_ptr<tk::TButtonPeer> QtBackend::CreatePeer(tk::TButton& button)
{
    return std::make_unique<ButtonPeer>(button, *this);
}

std::unique_ptr<tk::TImagePeer> QtBackend::CreatePeer(tk::TImage& image)
{
    return std::make_unique<ImagePeer>(image, *this);
}

std::unique_ptr<tk::TScrollBarPeer> QtBackend::CreatePeer(tk::TScrollBar& scrollBar)
{
    return std::make_unique<ScrollBarPeer>(scrollBar, *this);
}

std::unique_ptr<tk::TListViewPeer> QtBackend::CreatePeer(tk::TListView& listView)
{
    return std::make_unique<ListViewPeer>(listView, *this);
}

std::unique_ptr<tk::TStringGridPeer> QtBackend::CreatePeer(tk::TStringGrid& grid)
{
    return std::make_unique<StringGridPeer>(grid, *this);
}

std::unique_ptr<tk::TDirectoryListBoxPeer> QtBackend::CreatePeer(tk::TDirectoryListBox& list)
{
    return std::make_unique<DirectoryListPeer>(list, *this);
}

std::unique_ptr<tk::TDriveComboBoxPeer> QtBackend::CreatePeer(tk::TDriveComboBox& drives)
{
    return std::make_unique<DriveComboPeer>(drives, *this);
}

std::unique_ptr<tk::TRichEditPeer> QtBackend::CreatePeer(tk::TRichEdit& richEdit)
{
    return std::make_unique<RichEditPeer>(richEdit, *this);
}

std::unique_ptr<tk::THtmlPeer> QtBackend::CreatePeer(tk::THTML& html)
{
    return std::make_unique<HtmlPeer>(html, *this);
}

std::unique_ptr<tk::TEditPeer> QtBackend::CreatePeer(tk::TEdit& edit)
{
    return std::make_unique<EditPeer>(edit, *this);
}

std::unique_ptr<tk::TComboBoxPeer> QtBackend::CreatePeer(tk::TComboBox& combo)
{
    return std::make_unique<ComboBoxPeer>(combo, *this);
}

std::unique_ptr<tk::TCheckBoxPeer> QtBackend::CreatePeer(tk::TCheckBox& checkBox)
{
    return std::make_unique<CheckBoxPeer>(checkBox, *this);
}

std::unique_ptr<tk::TUpDownPeer> QtBackend::CreatePeer(tk::TUpDown& upDown)
{
    return std::make_unique<UpDownPeer>(upDown, *this);
}

std::unique_ptr<tk::TPageControlPeer> QtBackend::CreatePeer(tk::TPageControl& pages)
{
    return std::make_unique<PageControlPeer>(pages, *this);
}

std::unique_ptr<tk::TTabSheetPeer> QtBackend::CreatePeer(tk::TTabSheet& sheet)
{
    return std::make_unique<TabSheetPeer>(sheet, *this);
}

void QtBackend::StartTimer(tk::TTimer& timer, int intervalMs)
{
    QTimer*& qtimer = m_timers[&timer];
    if (!qtimer) {
        qtimer = new QTimer(&m_timerOwner);
        tk::TTimer* target = &timer;
        QObject::connect(qtimer, &QTimer::timeout, qtimer, [target] { target->Fire(); });
    }
    qtimer->start(std::max(intervalMs, 1));
}

void QtBackend::StopTimer(tk::TTimer& timer)
{
    auto it = m_timers.find(&timer);
    if (it == m_timers.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
}

void QtBackend::Run()
{
    if (m_quitRequested)
        return;
    m_running = true;
    QApplication::exec();
    m_running = false;
}

// Ends the main loop and every modal loop inside it.
void QtBackend::Quit()
{
    m_quitRequested = true;
    for (const ModalLoop& modal : m_modalLoops)
        modal.loop->exit();
    if (m_running)
        QApplication::exit(0);
}

void QtBackend::RunModal(tk::TForm& form)
{
    if (m_quitRequested || form.ModalResult() != tk::mrNone || !form.Visible())
        return;
    QEventLoop loop;
    m_modalLoops.push_back({&form, &loop});
    loop.exec(QEventLoop::DialogExec);
    std::erase_if(m_modalLoops, [&](const ModalLoop& modal) { return modal.loop == &loop; });
}

void QtBackend::EndModal(tk::TForm& form)
{
    ExitModalLoop(form);
}

// Qt queues the call into the GUI thread's event loop, in order, from whatever thread posts it.
void QtBackend::Post(std::function<void()> task)
{
    QMetaObject::invokeMethod(&m_timerOwner, std::move(task), Qt::QueuedConnection);
}

void QtBackend::FormHidden(tk::TForm& form)
{
    ExitModalLoop(form);
}

void QtBackend::ExitModalLoop(tk::TForm& form)
{
    for (const ModalLoop& modal : m_modalLoops)
        if (modal.form == &form)
            modal.loop->exit();
}

int QtBackend::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (flags & tk::mbIconMask) {
    case tk::mbIconError: icon = QMessageBox::Critical; break;
    case tk::mbIconQuestion: icon = QMessageBox::Question; break;
    case tk::mbIconWarning: icon = QMessageBox::Warning; break;
    case tk::mbIconInformation: icon = QMessageBox::Information; break;
    default: break;
    }
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (flags & tk::mbButtonMask) {
    case tk::mbOkCancel: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case tk::mbYesNo: buttons = QMessageBox::Yes | QMessageBox::No; break;
    default: break;
    }
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    QMessageBox box(icon, ToQString(caption), ToQString(text), buttons, owner);
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Cancel: return tk::mrCancel;
    case QMessageBox::Yes: return tk::mrYes;
    case QMessageBox::No: return tk::mrNo;
    default: return tk::mrOk;
    }
}

const QFontMetrics& QtBackend::MetricsOf(const tk::TFont& font)
{
    auto key = std::make_tuple(font.Name(), font.PixelHeight(), static_cast<unsigned>(font.Style()));
    auto found = m_metrics.find(key);
    if (found == m_metrics.end())
        found = m_metrics.emplace(std::move(key), QFontMetrics(ToQFont(font))).first;
    return found->second;
}

int QtBackend::TextWidth(const tk::TFont& font, const std::string& text)
{
    return MetricsOf(font).horizontalAdvance(ToQString(text));
}

int QtBackend::TextHeight(const tk::TFont& font)
{
    return MetricsOf(font).height();
}

}  // namespace qtui
