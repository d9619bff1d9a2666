#include "app/Dialogs.h"
#include "app/ImageForm.h"
#include "app/Process.h"
#include "toolkit/Application.h"

namespace orvane {

void RunProcess(Process& process)
{
    tk::TApplication& application = process.Application;
    application.SetTitle("Orvane");
    application.SetFolders(&process.Folders);
    application.CreateForm(process.ImageForm, process);
    application.CreateForm(process.view, process);
    application.CreateForm(process.VerForm, process);
    application.CreateForm(process.Cust, process);
    application.CreateForm(process.Serch, process);
    application.Run();
}

}  // namespace orvane
