#include "messagebox.h"

#include <QtGlobal>

namespace Platform {

namespace {
class StandardErrorMessageBox : public MessageBoxService
{
public:
    void show(const QString &text, const QString &caption) override
    {
        qWarning("%s: %s", qUtf8Printable(caption), qUtf8Printable(text));
    }
};
} // namespace

MessageBoxService &systemMessageBoxService()
{
    static StandardErrorMessageBox box;
    return box;
}

} // namespace Platform
