// Commands on controls that hold rows, items or texts. The program has no such controls yet,
// so each names the kind of control it needs once the component is found.

#include "probe/Arguments.h"
#include "probe/Probe.h"

namespace probe {

namespace {
[[noreturn]] void NotA(Probe& probe, const Words& words, const char* kind)
{
    ComponentArgument(probe, words, 1);
    throw ProbeError(words[0] + ": " + words[1] + " is not " + kind);
}
}  // namespace

void Select(Probe& probe, const Words& words)
{
    NotA(probe, words, "a list view");
}

void Type(Probe& probe, const Words& words)
{
    NotA(probe, words, "an edit or combo box");
}

void Cell(Probe& probe, const Words& words)
{
    IntegerArgument(words, 2, "COL");
    IntegerArgument(words, 3, "ROW");
    NotA(probe, words, "a string grid");
}

void Check(Probe& probe, const Words& words)
{
    NotA(probe, words, "a check box");
}

void Choose(Probe& probe, const Words& words)
{
    NotA(probe, words, "a combo box, drive box or tab control");
}

void UpDown(Probe& probe, const Words& words)
{
    IntegerArgument(words, 2, "N");
    NotA(probe, words, "an up-down control");
}

void Dir(Probe&, const Words&)
{
    throw ProbeError("dir: the main window has no folder tree yet");
}

}  // namespace probe
