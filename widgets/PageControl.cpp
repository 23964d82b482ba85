#include "widgets/PageControl.h"


PageControl::PageControl(QWidget *parent) : QTabWidget(parent) {}

void PageControl::addSheet(TabSheet *sheet)
{
    addTab(sheet, sheet->caption());
}

void TabSheet::setCaption(const QString &caption)
{
    m_caption = caption;
    // The sheet lives in the tab widget's stack, whose parent is the tab widget.
    for (QWidget *ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto *pages = qobject_cast<QTabWidget *>(ancestor)) {
            const int index = pages->indexOf(this);
            if (index >= 0)
                pages->setTabText(index, caption);
            return;
        }
    }
}
