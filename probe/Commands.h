#pragma once

// The probe's commands: their names, when they may run, how many words they take, and the
// functions that run them. Each function gets the whole line's words, the command first.

#include <string>
#include <string_view>
#include <vector>

namespace probe {

class Probe;

using Words = std::vector<std::string>;

enum class Phase {
    Environment,  // before `start` only
    Running,      // while the program runs
    Any,
};

struct Command {
    const char* name;
    Phase phase;
    int minArguments;
    int maxArguments;
    const char* usage;
    void (*run)(Probe& probe, const Words& words);
};

const Command* FindCommand(std::string_view name);
// Throws the error of a command given at the wrong time.
void CheckPhase(const Probe& probe, const Command& command);

// Environment (EnvironmentCommands.cpp).
void Drive(Probe& probe, const Words& words);
void Cwd(Probe& probe, const Words& words);
void Desktop(Probe& probe, const Words& words);
void Registry(Probe& probe, const Words& words);
void Foreground(Probe& probe, const Words& words);
void IdleWait(Probe& probe, const Words& words);
void Start(Probe& probe, const Words& words);

// Pointer and keyboard (InputCommands.cpp).
void Click(Probe& probe, const Words& words);
void DblClick(Probe& probe, const Words& words);
void MouseDown(Probe& probe, const Words& words);
void MouseMove(Probe& probe, const Words& words);
void MouseUp(Probe& probe, const Words& words);
void Drag(Probe& probe, const Words& words);
void KeyDown(Probe& probe, const Words& words);
void KeyUp(Probe& probe, const Words& words);
void Leave(Probe& probe, const Words& words);

// Controls that take a choice or a text (ChoiceCommands.cpp).
void Select(Probe& probe, const Words& words);
void Type(Probe& probe, const Words& words);
void Cell(Probe& probe, const Words& words);
void Check(Probe& probe, const Words& words);
void Choose(Probe& probe, const Words& words);
void UpDown(Probe& probe, const Words& words);
void Dir(Probe& probe, const Words& words);

// Windows, time, dialogs and media (WindowCommands.cpp).
void Close(Probe& probe, const Words& words);
void Resize(Probe& probe, const Words& words);
void Move(Probe& probe, const Words& words);
void Tick(Probe& probe, const Words& words);
void Timer(Probe& probe, const Words& words);
void Modal(Probe& probe, const Words& words);
void Media(Probe& probe, const Words& words);
void MsgBox(Probe& probe, const Words& words);

// The probe's own syntax: every command's usage, or one command's (CommandTable.cpp).
void Help(Probe& probe, const Words& words);

// Queries (QueryCommands.cpp).
void Get(Probe& probe, const Words& words);
void Dump(Probe& probe, const Words& words);
void Rows(Probe& probe, const Words& words);
void Grid(Probe& probe, const Words& words);
void Images(Probe& probe, const Words& words);
void Messages(Probe& probe, const Words& words);
void File(Probe& probe, const Words& words);
void Spawned(Probe& probe, const Words& words);

}  // namespace probe
