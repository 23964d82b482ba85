#include "widgets/PageControl.h"

#include <QTabBar>

namespace {

// A style sheet would do the same, but would put the whole page control under the slow
// style-sheet style.
class FixedHeightTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;
    int tabHeight = -1;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (tabHeight > 0)
            size.setHeight(tabHeight);
        return size;
    }
};

} // namespace

PageControl::PageControl(QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new FixedHeightTabBar(this));
}

void PageControl::setTabHeight(int height)
{
    static_cast<FixedHeightTabBar *>(tabBar())->tabHeight = height;
    tabBar()->updateGeometry();
}

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
