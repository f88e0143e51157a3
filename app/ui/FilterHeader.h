#pragma once

#include <QHeaderView>
#include <vector>

class QLineEdit;

namespace kelvane {

// The grid's column titles with a row of filter fields under them, one per column, each as
// wide as its column and scrolled with it. A field's text is handed on when the user finishes
// it (Return or leaving the field) and it changed.
class FilterHeader : public QHeaderView {
    Q_OBJECT

  public:
    static constexpr int FilterRowHeight = 22;

    explicit FilterHeader(QWidget* parent = nullptr);

    // Shows a text without handing it on, as the filter in force.
    void ShowFilterText(int column, const QString& text);
    QLineEdit* FilterField(int column) const;

  signals:
    void filterEdited(int column, const QString& text);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void MatchColumnCount();
    void PlaceFieldsSoon();
    void PlaceFields();

    std::vector<QLineEdit*> fields_;
    bool placing_ = false;
};

}  // namespace kelvane
