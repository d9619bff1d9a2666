#pragma once

#include "app/Process.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/StdCtrls.h"

namespace orvane {

// The About dialog.
class TVerForm : public tk::TForm {
public:
    explicit TVerForm(tk::TComponent* owner);

    tk::TImage* Image1 = nullptr;
    tk::TPanel* Panel1 = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TLabel* Label2 = nullptr;
    tk::TLabel* Label3 = nullptr;
    tk::TLabel* Label4 = nullptr;
    tk::TButton* OkButton = nullptr;

    void FormShow(tk::TObject* sender);
    void Image1DblClick(tk::TObject* sender);

private:
    void CreateComponents();
};

}  // namespace orvane
