#pragma once

#include "toolkit/Component.h"
#include "toolkit/Peers.h"
#include "toolkit/Services.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tk {

class TForm;

// The application object: its title, its forms in creation order (the first is the main form),
// the message loop, message boxes and the general error report. It also carries the services a
// back end provides; without them it runs headless (no peers, no clock, boxes answer OK).
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    // Creates a form owned by the application, publishes it through `reference` and then runs its
    // creation event, so that the event already finds the form in its place.
    template <class T, class... Args>
    T* CreateForm(T*& reference, Args&&... args)
    {
        T* form = new T(this, std::forward<Args>(args)...);
        reference = form;
        if (!m_mainForm)
            m_mainForm = form;
        form->AfterConstruction();
        return form;
    }
    // A form made for one use (a dialog): created and its creation event run; freed by the caller.
    template <class T, class... Args>
    std::unique_ptr<T> NewForm(Args&&... args)
    {
        auto form = std::make_unique<T>(this, std::forward<Args>(args)...);
        form->AfterConstruction();
        return form;
    }

    TForm* MainForm() const { return m_mainForm; }
    const std::vector<TForm*>& Forms() const { return m_forms; }
    // Forms shown modally now, the innermost last.
    const std::vector<TForm*>& ModalForms() const { return m_modalForms; }

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return m_terminated; }

    // Shows a message box (texts in code page 932); returns the modal result of its button.
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
    // The general error report: the error's text in a message box titled with the application
    // title. The program goes on.
    void ShowException(const std::string& message);
    // Runs an event handler; an exception that escapes it ends it and is reported.
    void RunHandler(const std::function<void()>& handler);

    IPeerFactory* PeerFactory() const { return m_peerFactory; }
    void SetPeerFactory(IPeerFactory* factory) { m_peerFactory = factory; }
    IClock* Clock() const { return m_clock; }
    void SetClock(IClock* clock) { m_clock = clock; }
    IMessageLoop* MessageLoop() const { return m_loop; }
    void SetMessageLoop(IMessageLoop* loop) { m_loop = loop; }
    IDialogs* Dialogs() const { return m_dialogs; }
    void SetDialogs(IDialogs* dialogs) { m_dialogs = dialogs; }
    IFolders* Folders() const { return m_folders; }
    void SetFolders(IFolders* folders) { m_folders = folders; }
    // How rich edits read files; without it, loading one fails.
    ITextFiles* TextFiles() const { return m_textFiles; }
    void SetTextFiles(ITextFiles* textFiles) { m_textFiles = textFiles; }
    ITextMetrics& TextMetrics() const;
    void SetTextMetrics(ITextMetrics* metrics) { m_textMetrics = metrics; }
    // The picture loader that images created from now on use; none in a bare application.
    IPictureFormats* PictureFormats() const { return m_pictureFormats; }
    void SetPictureFormats(IPictureFormats* formats) { m_pictureFormats = formats; }
    // The back end's metafile renderer, for picture loaders; none in a bare application.
    IMetafileRenderer* MetafileRenderer() const { return m_metafileRenderer; }
    void SetMetafileRenderer(IMetafileRenderer* renderer) { m_metafileRenderer = renderer; }
    // The back end's decoder of the pictures the program has no reader of; none in a bare
    // application.
    IPictureDecoder* PictureDecoder() const { return m_pictureDecoder; }
    void SetPictureDecoder(IPictureDecoder* decoder) { m_pictureDecoder = decoder; }

    // The media system that media players open their files with; none in a bare application.
    IMediaSystem* MediaSystem() const { return m_mediaSystem; }
    void SetMediaSystem(IMediaSystem* mediaSystem) { m_mediaSystem = mediaSystem; }

    // The desktop's size in pixels, for centring forms.
    int DesktopWidth() const { return m_desktopWidth; }
    int DesktopHeight() const { return m_desktopHeight; }
    void SetDesktopSize(int width, int height);

private:
    friend class TForm;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    void PushModal(TForm* form) { m_modalForms.push_back(form); }
    void PopModal(TForm* form);

    std::string m_title;
    TForm* m_mainForm = nullptr;
    std::vector<TForm*> m_forms;
    std::vector<TForm*> m_modalForms;
    bool m_terminated = false;
    IPeerFactory* m_peerFactory = nullptr;
    IClock* m_clock = nullptr;
    IMessageLoop* m_loop = nullptr;
    IDialogs* m_dialogs = nullptr;
    ITextMetrics* m_textMetrics = nullptr;
    IFolders* m_folders = nullptr;
    ITextFiles* m_textFiles = nullptr;
    std::unique_ptr<ITextMetrics> m_estimatedMetrics;
    IPictureFormats* m_pictureFormats = nullptr;
    IMetafileRenderer* m_metafileRenderer = nullptr;
    IPictureDecoder* m_pictureDecoder = nullptr;
    IMediaSystem* m_mediaSystem = nullptr;
    int m_desktopWidth = 1024;
    int m_desktopHeight = 768;
};

}  // namespace tk
