// ClipValuesWindow: every listed clip's own values beside the batch's, to read and edit.
#include "dialogs/ClipValuesWindow.h"

#include "dialogs/ClipValuesModel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

ClipValuesWindow::ClipValuesWindow(ClipValuesModel &model, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ClipValuesWindow"));
    setWindowTitle(QStringLiteral("Clip Values"));

    table = new QTableView(this);
    table->setAccessibleName(QStringLiteral("Clip values"));
    table->setModel(&model);
    table->setWordWrap(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed);
    // Rows of one height and columns of set widths: nothing measures every row of a long list.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setDefaultSectionSize(112);
    table->horizontalHeader()->resizeSection(ClipValuesModel::clipColumn, 130);
    table->horizontalHeader()->setStretchLastSection(true);

    auto *buttons = new QDialogButtonBox(this);
    importButton = buttons->addButton(QStringLiteral("Import..."), QDialogButtonBox::ActionRole);
    exportButton = buttons->addButton(QStringLiteral("Export..."), QDialogButtonBox::ActionRole);
    closeButton = buttons->addButton(QDialogButtonBox::Close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(960, 420);

    connect(importButton, &QPushButton::clicked, this, &ClipValuesWindow::importRequested);
    connect(exportButton, &QPushButton::clicked, this, &ClipValuesWindow::exportRequested);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}
