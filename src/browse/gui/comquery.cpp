#include "browse/gui/comquery.h"

#include "app/gui/FormRoutines.h"
#include "app/untGlobal.h"
#include "edit/PickKinds.h"
#include "edit/gui/CodedEdit.h"
#include "edit/gui/untList.h"
#include "platform/GbkText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvam {

namespace {

enum Column { NotColumn, FieldColumn, OpColumn, ValueColumn, ConnectorColumn, ColumnCount };

QComboBox *makeCombo(QWidget *parent, const char *name, const QStringList &items)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

bool isEscape(QEvent *event)
{
    return event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape;
}

bool isEnter(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TfrmQueryTj::TfrmQueryTj(QWidget *parent) : TaggedDialog(parent)
{
    setObjectName(QStringLiteral("frmQueryTj"));
    setWindowTitle(QStringLiteral("请定制查询条件"));
    // No title-bar buttons: "取 消" is the only way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(459, 250);

    m_grid = new QTableWidget(0, ColumnCount, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral(" 否"), QStringLiteral("查询项目"), QStringLiteral("关系符"), QStringLiteral("查询内容"),
         QStringLiteral("逻辑")});
    const int widths[] = {50, 120, 80, 100, 50};
    for (int c = 0; c < ColumnCount; ++c)
        m_grid->setColumnWidth(c, widths[c]);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->verticalHeader()->setHighlightSections(false);
    // The narrow fixed column at the left: the handle for dragging rows.
    m_grid->verticalHeader()->setFixedWidth(10);
    m_grid->verticalHeader()->setDefaultSectionSize(26);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);

    QWidget *viewport = m_grid->viewport();
    m_not = new QCheckBox(QStringLiteral("Not"), viewport);
    m_not->setObjectName(QStringLiteral("CheckBox_not"));
    m_not->setAutoFillBackground(true);
    m_field = makeCombo(viewport, "ComboBox_zdm", {});
    m_op = makeCombo(viewport, "ComboBox_ysf", queryOperators());
    m_value = new QLineEdit(viewport);
    m_value->setObjectName(QStringLiteral("Edit_value1"));
    m_connector = makeCombo(viewport, "ComboBox_lj", {QStringLiteral("AND"), QStringLiteral("OR")});

    m_ok = new QPushButton(QStringLiteral("确 定"), this);
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_cancel = new QPushButton(QStringLiteral("取 消"), this);
    m_cancel->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton *button : {m_ok, m_cancel})
        button->setAutoDefault(false);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_ok);
    bottom->addSpacing(24);
    bottom->addWidget(m_cancel);
    bottom->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);

    connect(m_ok, &QPushButton::clicked, this, &TfrmQueryTj::BitBtn1Click);
    connect(m_cancel, &QPushButton::clicked, this, &TfrmQueryTj::BitBtn2Click);
    connect(m_field, &QComboBox::currentTextChanged, this, &TfrmQueryTj::ComboBox_zdmExit);
    connect(m_op, &QComboBox::currentTextChanged, this, &TfrmQueryTj::ComboBox_zdmExit);
    connect(m_connector, &QComboBox::activated, this, &TfrmQueryTj::ComboBox_ljClick);
    connect(m_grid, &QTableWidget::cellClicked, this, [this]() { StringGrid1Click(); });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this]() {
        if (!m_updating)
            StringGrid1Click();
    });
    connect(m_grid->verticalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { moveRow(from, to); });
    auto replace = [this]() {
        if (m_editorsShown)
            placeEditors();
    };
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, replace);
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, replace);

    for (QObject *watched : std::initializer_list<QObject *>{
             m_grid, m_not, m_field, m_field->lineEdit(), m_op, m_op->lineEdit(), m_value, m_connector,
             m_connector->lineEdit()})
        watched->installEventFilter(this);
}

void TfrmQueryTj::showEvent(QShowEvent *event)
{
    TaggedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmQueryTj::FormShow()
{
    setTag(0);
    clearSlots(PickedZYJSZG);
    clearSlots(PickedCSZY);
    if (QFile::exists(QueryConFile))
        QFile::remove(QueryConFile);

    m_editingRow = 0;
    setRows({QueryConditionRow{}});
    clearEditors();
    m_field->clear();
    for (int i = 0; i < QueryFieldCount; ++i)
        m_field->addItem(QueryFields[i].DisplayName);
    m_field->setCurrentIndex(-1);
    setCurrentRow(0);
    placeEditors();
    showEditors();
}

QList<QueryConditionRow> TfrmQueryTj::rows() const
{
    QList<QueryConditionRow> rows;
    auto cell = [this](int r, int c) {
        const QTableWidgetItem *item = m_grid->item(r, c);
        return item ? item->text() : QString();
    };
    for (int r = 0; r < m_grid->rowCount(); ++r)
        rows.append({cell(r, NotColumn), cell(r, FieldColumn), cell(r, OpColumn), cell(r, ValueColumn),
                     cell(r, ConnectorColumn)});
    return rows;
}

void TfrmQueryTj::setRows(const QList<QueryConditionRow> &rows)
{
    m_updating = true;
    m_grid->setRowCount(0);
    for (const QueryConditionRow &row : rows)
        appendRow(row);
    m_updating = false;
}

void TfrmQueryTj::appendRow(const QueryConditionRow &row)
{
    const int r = m_grid->rowCount();
    m_grid->insertRow(r);
    // The fixed column is only a handle: no row numbers in it.
    m_grid->setVerticalHeaderItem(r, new QTableWidgetItem(QString()));
    const QString texts[] = {row.notCell, row.field, row.op, row.value, row.connector};
    for (int c = 0; c < ColumnCount; ++c)
        m_grid->setItem(r, c, new QTableWidgetItem(texts[c]));
}

void TfrmQueryTj::setCurrentRow(int row)
{
    m_updating = true;
    m_grid->setCurrentCell(row, FieldColumn);
    m_updating = false;
}

void TfrmQueryTj::clearEditors()
{
    m_not->setChecked(false);
    m_field->setCurrentIndex(-1);
    m_field->setEditText(QString());
    m_op->setCurrentIndex(-1);
    m_op->setEditText(QString());
    m_value->clear();
    m_connector->setCurrentIndex(-1);
    m_connector->setEditText(QString());
}

void TfrmQueryTj::placeEditors()
{
    const int row = std::max(0, m_grid->currentRow());
    m_grid->scrollTo(m_grid->model()->index(row, 0));
    QWidget *editors[] = {m_not, m_field, m_op, m_value, m_connector};
    for (int c = 0; c < ColumnCount; ++c)
        editors[c]->setGeometry(m_grid->visualRect(m_grid->model()->index(row, c)));
}

void TfrmQueryTj::showEditors()
{
    for (QWidget *editor : std::initializer_list<QWidget *>{m_not, m_field, m_op, m_value, m_connector})
        editor->show();
    m_editorsShown = true;
    m_field->setFocus();
    m_grid->verticalHeader()->setSectionsMovable(false);
    ComboBox_zdmExit();
}

void TfrmQueryTj::hideEditors()
{
    for (QWidget *editor : std::initializer_list<QWidget *>{m_not, m_field, m_op, m_value, m_connector})
        editor->hide();
    m_editorsShown = false;
    m_connector->setEnabled(true);
    m_grid->verticalHeader()->setSectionsMovable(true);
    m_grid->setFocus();
}

void TfrmQueryTj::commitEditors(bool connectorAsTyped)
{
    if (!m_editorsShown || m_editingRow < 0 || m_editingRow >= m_grid->rowCount())
        return;
    const bool complete = !m_field->currentText().isEmpty() && !m_op->currentText().isEmpty();
    QString connector;
    if (connectorAsTyped || complete)
        connector = m_connector->currentText();
    const QString texts[] = {m_not->isChecked() ? QStringLiteral("NOT") : QString(), m_field->currentText(),
                             m_op->currentText(), m_value->text(), connector};
    for (int c = 0; c < ColumnCount; ++c)
        m_grid->item(m_editingRow, c)->setText(texts[c]);
}

void TfrmQueryTj::loadEditors()
{
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    auto cell = [this, row](int c) { return m_grid->item(row, c)->text(); };
    m_not->setChecked(cell(NotColumn) == QStringLiteral("NOT"));
    m_field->setEditText(cell(FieldColumn));
    m_op->setEditText(cell(OpColumn));
    m_value->setText(cell(ValueColumn));
    m_connector->setEditText(cell(ConnectorColumn));
}

void TfrmQueryTj::moveEditorsToCurrentRow()
{
    commitEditors();
    hideEditors();
    clearEditors();
    placeEditors();
    loadEditors();
    showEditors();
    m_editingRow = m_grid->currentRow();
}

void TfrmQueryTj::StringGrid1Click()
{
    const int current = m_grid->currentRow();
    if (current < 0)
        return;
    if (m_editorsShown) {
        if (current != m_editingRow)
            moveEditorsToCurrentRow();
        return;
    }
    clearEditors();
    placeEditors();
    loadEditors();
    showEditors();
    m_editingRow = current;
}

void TfrmQueryTj::ComboBox_zdmExit()
{
    m_connector->setEnabled(!m_field->currentText().isEmpty() && !m_op->currentText().isEmpty());
}

void TfrmQueryTj::ComboBox_ljClick()
{
    const QString connector = m_connector->currentText();
    if (connector != QStringLiteral("AND") && connector != QStringLiteral("OR"))
        return;
    if (m_field->currentText().isEmpty() || m_op->currentText().isEmpty()) {
        m_field->setFocus();
        return;
    }
    if (m_grid->currentRow() == m_grid->rowCount() - 1) {
        m_updating = true;
        appendRow({});
        m_updating = false;
        setCurrentRow(m_grid->rowCount() - 1);
    }
    commitEditors();
    if (m_grid->currentRow() != m_editingRow)
        moveEditorsToCurrentRow();
}

void TfrmQueryTj::Edit_value1Click()
{
    const QString field = m_field->currentText();
    int kind = 0;
    if (field == QStringLiteral("申报系列"))
        kind = 24;
    else if (field == QStringLiteral("申报资格"))
        kind = 1110;
    else if (field == QStringLiteral("申报等级"))
        kind = 21;
    else if (field == QStringLiteral("申报专业"))
        kind = 1109;
    if (kind == 0)
        return;
    SelectedName = m_value->text();
    ShowModalAt<TfrmSelection>(pickerPosition(m_value), kind, this);
    m_value->setText(SelectedName);
}

void TfrmQueryTj::deleteCurrentRow()
{
    QList<QueryConditionRow> all = rows();
    const int current = m_grid->currentRow();
    deleteConditionRow(all, current);
    setRows(all);
    setCurrentRow(std::min(current, m_grid->rowCount() - 1));
}

void TfrmQueryTj::purgeRows()
{
    QList<QueryConditionRow> all = rows();
    purgeIncompleteRows(all);
    setRows(all);
    setCurrentRow(std::min(std::max(0, m_grid->currentRow()), m_grid->rowCount() - 1));
}

void TfrmQueryTj::moveRow(int from, int to)
{
    // Put the header back in order and move the row's texts instead, so that
    // the grid's rows are always its visual order.
    {
        QSignalBlocker block(m_grid->verticalHeader());
        m_grid->verticalHeader()->moveSection(to, from);
    }
    QList<QueryConditionRow> all = rows();
    all.move(from, to);
    setRows(all);
    setCurrentRow(to);
}

void TfrmQueryTj::BitBtn1Click()
{
    if (m_editorsShown)
        commitEditors(true);
    hideEditors();
    purgeRows();

    QList<QueryConditionRow> all = rows();
    const ConditionBuild build = buildConditionLines(all);
    setRows(all);
    if (!build.ok()) {
        ui().message(build.error, build.caption, build.icon, MsgButtons::Ok);
        return;
    }
    QStringList lines = build.lines;
    QString error;
    writeGbkLines(QueryConFile, lines, &error);
    if (!QFile::exists(QueryConFile)) {
        lines << QStringLiteral("1=2");
        if (!writeGbkLines(QueryConFile, lines, &error)) {
            LogError(QStringLiteral("不能写入查询条件文件"), error);
            return;
        }
    }
    setTag(1);
    accept();
}

void TfrmQueryTj::BitBtn2Click()
{
    setTag(0);
    reject();
}

void TfrmQueryTj::keyPressEvent(QKeyEvent *event)
{
    // Escape belongs to the grid and the editors; it never closes the builder.
    if (event->key() == Qt::Key_Escape)
        return;
    TaggedDialog::keyPressEvent(event);
}

void TfrmQueryTj::closeEvent(QCloseEvent *event)
{
    // The window's own close is refused; the two buttons close the builder.
    if (event->spontaneous())
        event->ignore();
    else
        TaggedDialog::closeEvent(event);
}

bool TfrmQueryTj::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && isEscape(event)) {
        hideEditors();
        deleteCurrentRow();
        return true;
    }
    if ((watched == m_connector || watched == m_connector->lineEdit()) && isEnter(event)) {
        ComboBox_ljClick();
        return true;
    }
    if (watched != m_grid && watched != m_connector && watched != m_connector->lineEdit() && isEscape(event)) {
        hideEditors();
        purgeRows();
        return true;
    }
    if (watched == m_value && event->type() == QEvent::MouseButtonRelease)
        Edit_value1Click();
    if ((watched == m_field || watched == m_op) && event->type() == QEvent::FocusOut)
        ComboBox_zdmExit();
    return TaggedDialog::eventFilter(watched, event);
}

} // namespace kvam
