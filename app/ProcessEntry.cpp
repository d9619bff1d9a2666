#include "app/AboutDialog.h"
#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/Host.h"
#include "app/CustDialog.h"
#include "app/SerchDialog.h"
#include "toolkit/Application.h"
#include "app/View.h"

namespace orvane {

Process::Process(tk::TApplication& application, platform::Host& host)
    : Application(application),
      Host(host),
      Pictures(host.Drives(), application.MetafileRenderer(), application.PictureDecoder()),
      IconFiles(host, platform::IconTheme::Desktop())
{
}

void RunProcess(Process& process)
{
    tk::TApplication& application = process.Application;
    application.SetTitle("Orvane");
    application.SetFolders(&process.Folders);
    application.SetPictureFormats(&process.Pictures);
    application.SetTextFiles(&process.TextFiles);
    application.SetMediaSystem(process.MediaSystem);
    application.CreateForm(process.ImageForm, process);
    application.CreateForm(process.view, process);
    application.CreateForm(process.VerForm);
    application.CreateForm(process.Cust, process);
    application.CreateForm(process.Serch);
    process.Follower.Start();
    application.Run();
}

}  // namespace orvane
