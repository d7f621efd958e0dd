#pragma once
// The season ranking: the archived tournaments of a period added up by the points of each placing,
// with the points editable beside it; printed, saved as PDF and exported as CSV and HTML.

#include "common/LazyWindow.h"
#include "ranking/ranking.h"

#include <QDialog>

#include <memory>
#include <vector>

class QDateEdit;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace zorbon::ui {

class Model;

class TZebricek : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TZebricek(Model& model);
    ~TZebricek() override;

    void TiskClick();
    void ExportPdfClick();
    void ExportCsvClick();
    void ExportHtmlClick();

    // The ranking as shown.
    const RankingSheet& sheet() const { return m_sheet; }
    // The PDF of the ranking as shown.
    QByteArray pdf() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build() override;
    // Reads the ranking of the chosen period and shows it.
    void fill();
    // A points box changed: the points are stored and the ranking follows.
    void pointsChanged();

    Model& m_model;
    RankingSheet m_sheet;
    bool m_filling = false;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
    std::vector<QSpinBox*> m_points;
};

} // namespace zorbon::ui
