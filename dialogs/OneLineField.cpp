// OneLineField: text fields whose text a script writes on one line.
#include "dialogs/OneLineField.h"

#include "jobs/OneLineText.h"

#include <QLineEdit>
#include <QValidator>

namespace {

// A validator may change the text it is given; the field then shows the changed text. Every text
// is acceptable, so the field's signals and its Return key work as without it.
class OneLineValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override
    {
        if (holdsLineBreak(input)) {
            position = int(oneLineText(input.left(position)).size());
            input = oneLineText(input);
        }
        return Acceptable;
    }
};

} // namespace

void keepOnOneLine(QLineEdit *field)
{
    field->setValidator(new OneLineValidator(field));
}
