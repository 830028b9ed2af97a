#pragma once

// Every app/ header includes this one. The layers below app/ build with ZENTICK_BELOW_APP: a page reaches the
// program through its PageContext, never through the main window or the other app/ classes.
#ifdef ZENTICK_BELOW_APP
#error "app/ headers are for app/ only: a page reaches the program through its PageContext (ui/PageContext.h)"
#endif
