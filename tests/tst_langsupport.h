#pragma once

#include "lang/ComponentOwner.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

// A form, data module or frame for the translators: it lists the components it creates in creation
// order, publishes its caption and has a font of its own.
class TTestForm : public QWidget, public ComponentOwner
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    explicit TTestForm(Kind kind = Kind::Form);

    const QList<QObject *> &Components() const override { return m_components; }
    Kind OwnerKind() const override { return m_kind; }

    // Creates a component (the form as its parent is passed like any other argument), names it
    // and lists it.
    template <class T, class... Args> T *create(const QString &name, Args &&...args)
    {
        T *component = new T(std::forward<Args>(args)...);
        component->setObjectName(name);
        m_components.append(component);
        return component;
    }

private:
    Kind m_kind;
    QList<QObject *> m_components;
};

// A control with a caption and the string lists "Items" and "Tabs". It counts the reads of its
// caption (one a translation run) and can act when its caption is set.
class TestControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QStringList Items MEMBER items)
    Q_PROPERTY(QStringList Tabs MEMBER tabs)

public:
    using QWidget::QWidget;

    QString caption() const;
    void setCaption(const QString &caption);

    QStringList items;
    QStringList tabs;
    mutable int captionReads = 0;
    std::function<void()> whenCaptionSet;

private:
    QString m_caption;
};

// A control whose "Caption" and "Items" are no strings.
class NumberControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Caption MEMBER caption)
    Q_PROPERTY(int Items MEMBER items)

public:
    using QWidget::QWidget;
    int caption = 7;
    int items = 8;
};

// A timer with a caption, to see that timers are passed over.
class CaptionedTimer : public QTimer
{
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER caption)

public:
    using QTimer::QTimer;
    QString caption = QStringLiteral("Tick");
};

// The lines of a language file written in the system's code page, without their line ends.
QStringList fileLines(const QString &path);
