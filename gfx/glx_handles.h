#pragma once

// The X and GLX handle types, declared exactly as <X11/Xlib.h> and <GL/glx.h>
// declare them, for headers that pass handles around without calling X. Those
// headers define macros such as None, Bool and Status that clash with ordinary
// names elsewhere; files that call X or GLX include them themselves.

typedef struct _XDisplay Display;
typedef unsigned long XID;
typedef struct __GLXcontextRec* GLXContext;
typedef struct __GLXFBConfigRec* GLXFBConfig;
typedef XID GLXDrawable;
typedef XID GLXPbuffer;
