#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>

// Controls whose text is published as "Caption", the name the language file uses for it.

class Label : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
public:
    using QLabel::QLabel;
};

class CheckBox : public QCheckBox
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setCaption)
public:
    using QCheckBox::QCheckBox;
    void setCaption(const QString &caption);
    // The field this box switches on and off: assistive technology names it by the caption.
    void setBuddy(QWidget *field);

private:
    QPointer<QWidget> m_buddy;
};

class RadioButton : public QRadioButton
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
public:
    using QRadioButton::QRadioButton;
};

// A push button with a glyph beside its caption.
class BitBtn : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
public:
    using QPushButton::QPushButton;
};

class ToolBar : public QToolBar
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    using QToolBar::QToolBar;
};

// A tool-bar button; as a separator it keeps its caption but shows only a gap.
class ToolButton : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
public:
    using QToolButton::QToolButton;
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    void makeSeparator(int width);
    bool isSeparator() const { return m_separator; }

private:
    QString m_caption;
    bool m_separator = false;
};

class GroupBox : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ title WRITE setTitle)
public:
    using QGroupBox::QGroupBox;
};
