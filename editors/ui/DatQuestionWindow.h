#pragma once

#include <QWidget>
#include <string>

class QLabel;

namespace kelvane {

class DatGeneratorWindow;
struct DatKind;

// "AskDiag": after a table of one of the .dat kinds was saved, asks whether to write its
// lookup file now. Shown without blocking the main window.
class DatQuestionWindow : public QWidget {
    Q_OBJECT

  public:
    explicit DatQuestionWindow(QWidget* parent);

    // The generator windows "&Yes" hands the work to, by kind word.
    void SetGenerators(DatGeneratorWindow& items, DatGeneratorWindow& creatures,
                       DatGeneratorWindow& gameObjects);
    // Shows the kind's question, centred on the screen.
    void Ask(const DatKind& kind);

  private:
    void YesClicked();

    QLabel* question_;
    std::string kindWord_;
    DatGeneratorWindow* items_ = nullptr;
    DatGeneratorWindow* creatures_ = nullptr;
    DatGeneratorWindow* gameObjects_ = nullptr;
};

}  // namespace kelvane
