#include "probe/Arguments.h"

#include "probe/Names.h"
#include "probe/Probe.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <charconv>
#include <string_view>

namespace probe {

int IntegerArgument(const Words& words, size_t index, const char* what)
{
    const std::string& word = words[index];
    int value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size())
        throw ProbeError(words[0] + ": " + what + " must be a whole number, not \"" + word + "\"");
    return value;
}

tk::TMouseButton ButtonArgument(const Words& words, size_t index)
{
    const std::string& word = words[index];
    if (word == "left")
        return tk::TMouseButton::mbLeft;
    if (word == "right")
        return tk::TMouseButton::mbRight;
    if (word == "middle")
        return tk::TMouseButton::mbMiddle;
    throw ProbeError(words[0] + ": BUTTON must be left, right or middle, not \"" + word + "\"");
}

tk::TShiftState ButtonFlag(tk::TMouseButton button)
{
    switch (button) {
    case tk::TMouseButton::mbLeft: return tk::ssLeft;
    case tk::TMouseButton::mbRight: return tk::ssRight;
    case tk::TMouseButton::mbMiddle: return tk::ssMiddle;
    }
    return 0;
}

uint16_t KeyArgument(const Words& words, size_t index)
{
    static constexpr std::pair<std::string_view, uint16_t> names[] = {
        {"Enter", tk::vk::Return}, {"Esc", tk::vk::Escape}, {"Up", tk::vk::Up},     {"Down", tk::vk::Down},
        {"Left", tk::vk::Left},    {"Right", tk::vk::Right}, {"Home", tk::vk::Home}, {"End", tk::vk::End},
    };
    for (const auto& [name, key] : names)
        if (words[index] == name)
            return key;
    int code = IntegerArgument(words, index, "KEY");
    if (code < 0 || code > 0xFFFF)
        throw ProbeError(words[0] + ": KEY " + words[index] + " is out of range");
    return uint16_t(code);
}

tk::TComponent& ComponentArgument(Probe& probe, const Words& words, size_t index)
{
    tk::TComponent* component = FindNamed(probe.Running().Application(), words[index]);
    if (!component)
        throw ProbeError(words[0] + ": no component " + words[index]);
    return *component;
}

tk::TForm& FormArgument(Probe& probe, const Words& words, size_t index)
{
    tk::TForm* form = FindForm(probe.Running().Application(), words[index]);
    if (!form)
        throw ProbeError(words[0] + ": no form " + words[index]);
    return *form;
}

tk::TControl& InputControlArgument(Probe& probe, const Words& words, size_t index)
{
    auto* control = dynamic_cast<tk::TControl*>(&ComponentArgument(probe, words, index));
    if (!control)
        throw ProbeError(words[0] + ": " + words[index] + " is not a control");
    if (!control->Showing())
        throw ProbeError(words[0] + ": " + words[index] + " is not showing");
    for (const tk::TControl* outer = control; outer; outer = outer->Parent())
        if (!outer->Enabled())
            throw ProbeError(words[0] + ": " + words[index] + " is disabled");
    return *control;
}

tk::TWinControl& KeyControlArgument(Probe& probe, const Words& words, size_t index)
{
    auto* control = dynamic_cast<tk::TWinControl*>(&InputControlArgument(probe, words, index));
    if (!control)
        throw ProbeError(words[0] + ": " + words[index] + " does not take the keyboard");
    return *control;
}

}  // namespace probe
