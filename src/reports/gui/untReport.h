#pragma once

#include "reports/SummaryWorkbook.h"

#include <QDialog>
#include <QSqlDatabase>

class QComboBox;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace kvam {

class UnitCodeEdit;

// The summary report window: a supervising unit entered by its code, one of
// five statistics, the result in a grid and its copy to a spreadsheet. The
// two report windows differ only in the review flag they count.
class SummaryReportForm : public QDialog {
    Q_OBJECT
public:
    SummaryReportForm(ReviewFlag flag, const QSqlDatabase &db, QWidget *parent = nullptr);

    void btnQueryClick();
    void btnExportToExcelClick();

    const SummaryResult &result() const { return m_result; }

private:
    void showResult();

    ReviewFlag m_flag;
    QSqlDatabase m_db;
    QLineEdit *m_edtGZDW;
    UnitCodeEdit *m_unitEntry;
    QComboBox *m_cbbList;
    QPushButton *m_btnQuery;
    QPushButton *m_btnExportToExcel;
    QTableView *m_DBGridReport;
    QStandardItemModel *m_qryReport;
    SummaryResult m_result;
};

// 评审信息汇总: counts by the evaluation flag z_psbz.
class TfrmReport : public SummaryReportForm {
    Q_OBJECT
public:
    explicit TfrmReport(const QSqlDatabase &db, QWidget *parent = nullptr)
        : SummaryReportForm(ReviewFlag::Psbz, db, parent)
    {
    }
};

// 资格审查信息汇总: counts by the qualification review flag z_shbz.
class TfrmReport2 : public SummaryReportForm {
    Q_OBJECT
public:
    explicit TfrmReport2(const QSqlDatabase &db, QWidget *parent = nullptr)
        : SummaryReportForm(ReviewFlag::Shbz, db, parent)
    {
    }
};

} // namespace kvam
