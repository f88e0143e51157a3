#include "app/ui/PresetWindow.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <utility>

#include "core/definitions/Presets.h"
#include "shell/CommandGuard.h"
#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/QtText.h"

namespace kelvane {

PresetWindow::PresetWindow(UserDialogs& dialogs, QDialog& fieldSettings,
                           std::function<bool(const Preset&)> loadPreset)
    : QWidget(&fieldSettings, Qt::Tool),
      dialogs_(dialogs),
      fieldSettings_(fieldSettings),
      load_(std::move(loadPreset)),
      choices_(new QButtonGroup(this)) {
    setObjectName("PresetForm");
    setWindowTitle("Load Preset");

    auto* group = new QGroupBox("Choose Type:", this);
    group->setObjectName("RadioGroup1");
    auto* groupLayout = new QVBoxLayout(group);
    int id = 0;
    for (const Preset& preset : PresetTable()) {
        auto* choice = new QRadioButton(ToQt(preset.Item), group);
        choices_->addButton(choice, id++);
        groupLayout->addWidget(choice);
    }

    auto* load = new QPushButton("LOAD", this);
    load->setObjectName("SpeedButton1");
    auto* close = new QPushButton("CLOSE", this);
    close->setObjectName("SpeedButton2");
    connect(load, &QPushButton::clicked, this, &PresetWindow::LoadClicked);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(load);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    resize(151, 273);
}

const Preset* PresetWindow::SelectedPreset() const {
    const int id = choices_->checkedId();
    return id < 0 ? nullptr : &PresetTable()[static_cast<size_t>(id)];
}

void PresetWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        CentreOnScreen(*this);
    }
}

void PresetWindow::LoadClicked() {
    const Preset* preset = SelectedPreset();
    if (preset == nullptr) {
        return;
    }
    RunGuarded(dialogs_, [&] {
        if (load_(*preset)) {
            hide();
            fieldSettings_.reject();
        }
    });
}

}  // namespace kelvane
