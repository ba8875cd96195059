#include "picture/JpegErrors.h"

namespace zolvera::picture {

namespace {

[[noreturn]] void jumpOnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void ignoreMessage(j_common_ptr, int) {}

} // namespace

jpeg_error_mgr* jumpingErrors(ErrorManager& manager) {
    jpeg_std_error(&manager.pub);
    manager.pub.error_exit = jumpOnError;
    manager.pub.emit_message = ignoreMessage;
    return &manager.pub;
}

} // namespace zolvera::picture
