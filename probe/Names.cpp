#include "probe/Names.h"

#include "platform/CodePage.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace probe {

namespace {
tk::TForm* FindIn(const std::vector<tk::TForm*>& forms, const std::string& name, bool innermostFirst)
{
    if (innermostFirst) {
        for (auto it = forms.rbegin(); it != forms.rend(); ++it)
            if ((*it)->Name() == name)
                return *it;
        return nullptr;
    }
    for (tk::TForm* form : forms)
        if (form->Name() == name)
            return form;
    return nullptr;
}
}  // namespace

tk::TForm* FindForm(const tk::TApplication& application, std::string_view name)
{
    std::string cp932 = platform::Utf8ToCp932(name);
    if (tk::TForm* form = FindIn(application.ModalForms(), cp932, true))
        return form;
    return FindIn(application.Forms(), cp932, false);
}

tk::TComponent* FindNamed(const tk::TApplication& application, std::string_view name)
{
    if (name.empty())
        return nullptr;
    if (auto dot = name.find('.'); dot != std::string_view::npos) {
        tk::TForm* form = FindForm(application, name.substr(0, dot));
        return form ? form->FindComponent(platform::Utf8ToCp932(name.substr(dot + 1))) : nullptr;
    }
    std::string cp932 = platform::Utf8ToCp932(name);
    if (!application.ModalForms().empty())
        if (tk::TComponent* component = application.ModalForms().back()->FindComponent(cp932))
            return component;
    if (tk::TForm* main = application.MainForm())
        if (tk::TComponent* component = main->FindComponent(cp932))
            return component;
    return FindForm(application, name);
}

PropertyPath SplitPropertyPath(const tk::TApplication& application, std::string_view path)
{
    for (size_t dot = path.rfind('.'); dot != std::string_view::npos && dot > 0; dot = path.rfind('.', dot - 1)) {
        std::string_view owner = path.substr(0, dot);
        if (owner == ProcessName || FindNamed(application, owner))
            return {std::string(owner), std::string(path.substr(dot + 1))};
    }
    return {std::string(), std::string(path)};
}

}  // namespace probe

