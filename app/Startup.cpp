#include "app/Startup.h"

#include "app/ProductInfo.h"
#include "app/Unit1.h"
#include "lang/IniFileWriteError.h"
#include "platform/UserPrompts.h"

std::unique_ptr<TForm1> createMainWindow()
{
    try {
        return std::make_unique<TForm1>();
    } catch (const IniFileWriteError &error) {
        UserPrompts::current().showMessage(nullptr, ProductInfo::name, error.message(), UserPrompts::Icon::Error);
        return nullptr;
    }
}
