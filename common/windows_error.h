#pragma once
// The Win32 error codes the file layer meets, as errno's values, so that the
// one table of French causes (file_error.cpp) says them too.

namespace velmora {

int errnoFromWindowsError(unsigned long windowsError);

}  // namespace velmora
