// Stand-in for a product's purchasing library: asks the user whether to buy
// the product and reports the answer to the host.
#include <windows.h>

#include <string>

namespace {
const char Caption[] = "Sample Purchase";
const char Question[] = "Do you want to buy the product ";
}

extern "C" BOOL WINAPI execute(const char* productId)
{
    std::string text(Question);
    text += productId ? productId : "";
    text += "?";
    int answer = ::MessageBoxA(nullptr, text.c_str(), Caption, MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND);
    return answer == IDYES ? TRUE : FALSE;
}
