#include "app/ImageForm.h"

#include "platform/Host.h"

namespace orvane {

using namespace tk;

TImageForm::TImageForm(TComponent* owner, Process& process) : TForm(owner), m_process(process)
{
    CreateComponents();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TImageForm::FormCreate(TObject*)
{
    CaptionPrefix = "Orvane - ";
    SetCaption(CaptionPrefix + m_process.Host.GetCurrentDirectory());
}

void TImageForm::FormShow(TObject*) {}

void TImageForm::FormClose(TObject*, TCloseAction&) {}

}  // namespace orvane
