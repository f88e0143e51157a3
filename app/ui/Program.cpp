#include "app/ui/Program.h"

#include <QAction>
#include <QApplication>

#include "app/ui/ExchangeMenuWiring.h"
#include "app/ui/ImportMenuWiring.h"
#include "app/ui/LaterWindows.h"
#include "app/ui/TForm1.h"
#include "app/ui/TFormCreateNewDialog.h"
#include "app/ui/TFormFieldSettings.h"
#include "app/ui/TLoadDbcShow.h"
#include "app/ui/TPresetForm.h"
#include "core/Workspace.h"
#include "exchange/ui/TNotesForm.h"
#include "exchange/ui/TQueueForm.h"
#include "talents/ui/TForm17.h"
#include "talents/ui/TForm18.h"
#include "talents/ui/TForm19.h"

namespace kelvane {

Program::Program(UserDialogs& dialogs, ModalRunner& modals, std::vector<std::string> arguments)
    : workspace_(std::make_unique<Workspace>()),
      session_(*workspace_, dialogs, feedback_),
      exchange_(workspace_->Table, dialogs, feedback_),
      imports_(workspace_->Table, dialogs, feedback_),
      talentFiles_(session_),
      talents_(talentFiles_, dialogs) {
    QApplication::setApplicationName(ApplicationTitle);

    form1_ = std::make_unique<TForm1>(session_, dialogs, modals);
    windows_.push_back(form1_.get());
    QWidget* owner = form1_.get();
    fieldSettings_ = Keep(new TFormFieldSettings(*workspace_, dialogs, owner));
    createNew_ = Keep(new TFormCreateNewDialog(dialogs, owner));
    Keep(new TForm5(owner));
    Keep(new TForm7(owner));
    Keep(new TItemDat(owner));
    Keep(new TForm6(owner));
    Keep(new TForm8(owner));
    Keep(new TForm9(owner));
    loadDbcShow_ = Keep(new TLoadDbcShow(owner));
    Keep(new TCreaturesDat(owner));
    Keep(new TAskDiag(owner));
    Keep(new TGODat(owner));
    TNotesForm* notes = Keep(new TNotesForm(dialogs, owner));
    TQueueForm* queue = Keep(new TQueueForm(dialogs, owner));
    presetForm_ =
        Keep(new TPresetForm(*workspace_, dialogs, *fieldSettings_, [this] { session_.Reload(); }));
    talentEditor_ = Keep(new TForm17(talents_, dialogs, owner));
    ranks_ = Keep(new TForm18(talents_, dialogs, owner));
    deleteTalent_ = Keep(new TForm19(talents_, dialogs, owner));
    Keep(new TForm20(owner));

    feedback_.SetProgressWindow(*loadDbcShow_);
    ConnectExchangeMenus(*form1_, session_, exchange_, *queue, *notes);
    ConnectImportMenus(*form1_, imports_);
    form1_->SetFieldDialogs(*fieldSettings_, *createNew_);
    form1_->SetCommandLine(std::move(arguments));
    QObject::connect(fieldSettings_, &TFormFieldSettings::LoadPresetRequested, presetForm_,
                     &QWidget::show);
    QObject::connect(form1_->Menus().TalentEditor, &QAction::triggered, talentEditor_,
                     &TForm17::ShowInFront);
    QObject::connect(talentEditor_, &TForm17::DeleteTalentRequested, deleteTalent_,
                     &TForm19::ShowInFront);
}

Program::~Program() = default;

}  // namespace kelvane
