#pragma once

// The Qt back end: the peers of every component kind and the services the component model asks
// of its surroundings (clock, message loop, message boxes, text measurement, the drawing of
// metafiles), over Qt Widgets.
// Make one after the QApplication and keep it until the tk::TApplication that uses it is gone.

#include "qt/ControlMap.h"
#include "qt/FlushQueue.h"
#include "qt/InputRouter.h"
#include "qt/MetafileRenderer.h"
#include "qt/PictureDecoder.h"
#include "toolkit/Peers.h"
#include "toolkit/Services.h"

#include <QFontMetrics>
#include <QObject>

#include <map>
#include <tuple>
#include <vector>

class QEventLoop;
class QTimer;

namespace tk {
class TApplication;
}

namespace qtui {

class QtBackend : public tk::IPeerFactory,
                  public tk::IClock,
                  public tk::IMessageLoop,
                  public tk::IDialogs,
                  public tk::ITextMetrics {
public:
    QtBackend();
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    // Gives the application every service of this back end and the primary screen's size.
    void Install(tk::TApplication& application);

    FlushQueue& Queue() { return m_queue; }
    // What the input routers of the peers share of the key event going through them.
    KeyDelivery& Keys() { return m_keys; }

    std::unique_ptr<tk::TFormPeer> CreatePeer(tk::TForm& form) override;
    std::unique_ptr<tk::TPanelPeer> CreatePeer(tk::TPanel& panel) override;
    std::unique_ptr<tk::TLabelPeer> CreatePeer(tk::TLabel& label) override;
    std::unique_ptr<tk::TButtonPeer> CreatePeer(tk::TButton& button) override;
    std::unique_ptr<tk::TImagePeer> CreatePeer(tk::TImage& image) override;
    std::unique_ptr<tk::TScrollBarPeer> CreatePeer(tk::TScrollBar& scrollBar) override;
    std::unique_ptr<tk::TListViewPeer> CreatePeer(tk::TListView& listView) override;
    std::unique_ptr<tk::TStringGridPeer> CreatePeer(tk::TStringGrid& grid) override;
    std::unique_ptr<tk::TDirectoryListBoxPeer> CreatePeer(tk::TDirectoryListBox& list) override;
    std::unique_ptr<tk::TDriveComboBoxPeer> CreatePeer(tk::TDriveComboBox& drives) override;
    std::unique_ptr<tk::TRichEditPeer> CreatePeer(tk::TRichEdit& richEdit) override;
    std::unique_ptr<tk::THtmlPeer> CreatePeer(tk::THTML& html) override;
    std::unique_ptr<tk::TEditPeer> CreatePeer(tk::TEdit& edit) override;
    std::unique_ptr<tk::TComboBoxPeer> CreatePeer(tk::TComboBox& combo) override;
    std::unique_ptr<tk::TCheckBoxPeer> CreatePeer(tk::TCheckBox& checkBox) override;
    std::unique_ptr<tk::TUpDownPeer> CreatePeer(tk::TUpDown& upDown) override;
    std::unique_ptr<tk::TPageControlPeer> CreatePeer(tk::TPageControl& pages) override;
    std::unique_ptr<tk::TTabSheetPeer> CreatePeer(tk::TTabSheet& sheet) override;

    void StartTimer(tk::TTimer& timer, int intervalMs) override;
    void StopTimer(tk::TTimer& timer) override;

    void Run() override;
    void Quit() override;
    void RunModal(tk::TForm& form) override;
    void EndModal(tk::TForm& form) override;
    void Post(std::function<void()> task) override;
    // A form was hidden: a modal loop that runs for it ends.
    void FormHidden(tk::TForm& form);

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;

    int TextWidth(const tk::TFont& font, const std::string& text) override;
    int TextHeight(const tk::TFont& font) override;

private:
    struct ModalLoop {
        tk::TForm* form;
        QEventLoop* loop;
    };
    void ExitModalLoop(tk::TForm& form);
    const QFontMetrics& MetricsOf(const tk::TFont& font);

    FlushQueue m_queue;
    KeyDelivery m_keys;
    MetafileRenderer m_metafileRenderer;
    PictureDecoder m_pictureDecoder;
    // Owns the timers, so that one stopped inside its own timeout is freed safely later.
    QObject m_timerOwner;
    std::map<tk::TTimer*, QTimer*> m_timers;
    std::vector<ModalLoop> m_modalLoops;
    // The metrics of each font measured so far, by what makes a font (name, pixel height, style):
    // an auto-sized label measures its caption on every change, and making the font and its
    // metrics costs far more than the measuring.
    std::map<std::tuple<std::string, int, unsigned>, QFontMetrics> m_metrics;
    // The test-only answer to where the named controls are (ControlMap.h); none normally.
    std::unique_ptr<ControlMap> m_controlMap;
    bool m_running = false;
    bool m_quitRequested = false;
};

}  // namespace qtui
