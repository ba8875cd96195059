#include "platform/Translate.h"

#include <QCoreApplication>

namespace zolvera::platform {

std::string translate(const char* context, const char* sourceText) {
    return QCoreApplication::translate(context, sourceText).toStdString();
}

std::string substitute(std::string_view text, std::initializer_list<std::string_view> arguments) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // The digit after a "%" names the argument; anything else is kept as it stands.
        const std::size_t index =
            i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : arguments.size();
        if (text[i] == '%' && index < arguments.size()) {
            result += arguments.begin()[index];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace zolvera::platform
