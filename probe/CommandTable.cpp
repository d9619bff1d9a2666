#include "probe/Commands.h"

#include "probe/Probe.h"

#include <ostream>

namespace probe {

namespace {
// Every command the probe runs, in the order `help` lists them: the dispatcher and the help read
// this one table, so the list cannot miss a command.
constexpr Command commands[] = {
    {"drive", Phase::Environment, 2, 2, "drive X: PATH", Drive},
    {"cwd", Phase::Environment, 1, 1, "cwd PATH", Cwd},
    {"desktop", Phase::Environment, 2, 2, "desktop W H", Desktop},
    {"registry", Phase::Environment, 1, 1, "registry FILE", Registry},
    {"foreground", Phase::Any, 1, 2, "foreground W H | foreground none", Foreground},
    {"idlewait", Phase::Environment, 1, 1, "idlewait MS", IdleWait},
    {"start", Phase::Environment, 0, 0, "start", Start},

    {"close", Phase::Running, 0, 0, "close", Close},
    {"click", Phase::Running, 1, 1, "click NAME", Click},
    {"dblclick", Phase::Running, 1, 1, "dblclick NAME", DblClick},
    {"mousedown", Phase::Running, 4, 4, "mousedown NAME BUTTON X Y", MouseDown},
    {"mousemove", Phase::Running, 3, 3, "mousemove NAME X Y", MouseMove},
    {"mouseup", Phase::Running, 4, 4, "mouseup NAME BUTTON X Y", MouseUp},
    {"drag", Phase::Running, 4, 4, "drag NAME BUTTON DX DY", Drag},
    {"keydown", Phase::Running, 2, 2, "keydown NAME KEY", KeyDown},
    {"keyup", Phase::Running, 2, 2, "keyup NAME KEY", KeyUp},
    {"select", Phase::Running, 2, 2, "select NAME ROW", Select},
    {"type", Phase::Running, 2, 2, "type NAME TEXT", Type},
    {"cell", Phase::Running, 4, 4, "cell NAME COL ROW TEXT", Cell},
    {"leave", Phase::Running, 1, 1, "leave NAME", Leave},
    {"check", Phase::Running, 1, 1, "check NAME", Check},
    {"uncheck", Phase::Running, 1, 1, "uncheck NAME", Check},
    {"choose", Phase::Running, 2, 2, "choose NAME ITEM", Choose},
    {"updown", Phase::Running, 2, 2, "updown NAME N", UpDown},
    {"dir", Phase::Running, 1, 1, "dir PATH", Dir},
    {"resize", Phase::Running, 2, 2, "resize W H", Resize},
    {"move", Phase::Running, 5, 5, "move FORM L T W H", Move},
    {"tick", Phase::Running, 1, 1, "tick MS", Tick},
    {"timer", Phase::Running, 1, 1, "timer NAME", Timer},
    {"modal", Phase::Running, 1, 1, "modal ok|cancel|yes|no", Modal},
    {"media", Phase::Running, 1, 1, "media end", Media},
    {"msgbox", Phase::Any, 1, 1, "msgbox hold", MsgBox},

    {"get", Phase::Running, 1, 1, "get NAME.PROP", Get},
    {"dump", Phase::Running, 1, 1, "dump NAME", Dump},
    {"rows", Phase::Running, 1, 1, "rows NAME", Rows},
    {"grid", Phase::Running, 1, 1, "grid NAME", Grid},
    {"images", Phase::Running, 1, 1, "images NAME", Images},
    {"messages", Phase::Any, 0, 0, "messages", Messages},
    {"file", Phase::Any, 1, 1, "file PATH", File},
    {"spawned", Phase::Any, 0, 0, "spawned", Spawned},
    {"help", Phase::Any, 0, 1, "help | help COMMAND", Help},
};

// A command's syntax, and when it may run unless that is while the program runs.
void PrintUsage(std::ostream& out, const Command& command)
{
    out << command.usage;
    if (command.phase == Phase::Environment)
        out << "  (before start)";
    else if (command.phase == Phase::Any)
        out << "  (any time)";
    out << '\n';
}
}  // namespace

const Command* FindCommand(std::string_view name)
{
    for (const Command& command : commands)
        if (name == command.name)
            return &command;
    return nullptr;
}

void Help(Probe& probe, const Words& words)
{
    if (words.size() == 1) {
        for (const Command& command : commands)
            PrintUsage(probe.Out(), command);
        return;
    }
    const Command* command = FindCommand(words[1]);
    if (!command)
        throw ProbeError("help: no command " + words[1]);
    PrintUsage(probe.Out(), *command);
}

void CheckPhase(const Probe& probe, const Command& command)
{
    std::string name = command.name;
    switch (command.phase) {
    case Phase::Environment:
        if (probe.Started())
            throw ProbeError(name + (name == "start" ? ": the program has already started" : ": only before start"));
        break;
    case Phase::Running:
        if (!probe.Started())
            throw ProbeError(name + ": the program has not started");
        if (probe.Ended())
            throw ProbeError(name + ": the program has ended");
        break;
    case Phase::Any:
        break;
    }
}

}  // namespace probe
