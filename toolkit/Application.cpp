#include "toolkit/Application.h"

#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"

#include <algorithm>

namespace tk {

TApplication::TApplication() : TComponent(nullptr)
{
    SetApplication(this);
}

TApplication::~TApplication()
{
    // Forms go before the services they may still call while they are freed.
    while (!Components().empty())
        delete Components().back();
}

void TApplication::Run()
{
    if (m_mainForm && !m_terminated)
        m_mainForm->Show();
    if (!m_terminated && m_loop)
        m_loop->Run();
}

void TApplication::Terminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    if (m_loop)
        m_loop->Quit();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    if (!m_dialogs)
        return mrOk;
    return m_dialogs->MessageBox(text, caption, flags);
}

void TApplication::ShowException(const std::string& message)
{
    MessageBox(message, m_title, mbOk | mbIconError);
}

void TApplication::RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Exception& error) {
        ShowException(error.Message());
    } catch (const std::bad_alloc&) {
        ShowException("メモリが不足しています。");
    } catch (const std::exception& error) {
        ShowException(error.what());
    }
}

ITextMetrics& TApplication::TextMetrics() const
{
    if (m_textMetrics)
        return *m_textMetrics;
    if (!m_estimatedMetrics)
        const_cast<TApplication*>(this)->m_estimatedMetrics = std::make_unique<EstimatedTextMetrics>();
    return *m_estimatedMetrics;
}

void TApplication::SetDesktopSize(int width, int height)
{
    m_desktopWidth = width;
    m_desktopHeight = height;
}

void TApplication::AddForm(TForm* form)
{
    m_forms.push_back(form);
}

void TApplication::RemoveForm(TForm* form)
{
    std::erase(m_forms, form);
    std::erase(m_modalForms, form);
    if (m_mainForm == form)
        m_mainForm = nullptr;
}

void TApplication::PopModal(TForm* form)
{
    auto it = std::find(m_modalForms.rbegin(), m_modalForms.rend(), form);
    if (it != m_modalForms.rend())
        m_modalForms.erase(std::next(it).base());
}

}  // namespace tk
