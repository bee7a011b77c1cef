/* MinGW's DLL start-up calls this TLS callback when it is set, and the object
   of its runtime that defines it also defines _tls_used, which gives the DLL a
   TLS directory. Windows 95 refuses LoadLibrary of a DLL that has one
   (ERROR_DLL_INIT_FAILED), so each DLL of the suite defines the callback
   itself, as none, and that object is never linked.

   What a DLL gives up with it: native thread-local variables
   (__declspec(thread), which need the directory), TLS callbacks, and the
   thread-exit destructors that the runtime runs for thread keys
   (__mingwthr_key_dtor); a thread that ends leaves the memory of any emulated
   thread_local it used in the DLL. Our DLLs use none of these. A DLL that
   started to would pull that object in again and fail to link with a second
   definition of this symbol, rather than get a directory unnoticed. */
#include <windows.h>

const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = NULL;
