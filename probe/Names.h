#pragma once

// How the script names things: `ListView1` is a component of the main window (of the innermost
// modal dialog first while one is open), `Cust.CapW` a component of another form, `Cust` a form
// by its instance name, and `process` the process-wide values. Of two forms with one name (a
// dialog made anew for each opening), the modal one is meant.

#include <string>
#include <string_view>

namespace tk {
class TApplication;
class TComponent;
class TForm;
}  // namespace tk

namespace probe {

// The name of the process-wide values.
constexpr std::string_view ProcessName = "process";

tk::TForm* FindForm(const tk::TApplication& application, std::string_view name);
// A component or a form by its script name (UTF-8); null when nothing has that name.
tk::TComponent* FindNamed(const tk::TApplication& application, std::string_view name);

// NAME.PROP cut where NAME ends: the longest leading part that names something, so that
// properties with dots (Font.Color, HorzScrollBar.Range) stay whole.
struct PropertyPath {
    std::string owner;     // empty when no leading part names anything
    std::string property;
};
PropertyPath SplitPropertyPath(const tk::TApplication& application, std::string_view path);

}  // namespace probe
