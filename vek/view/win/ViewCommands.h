#pragma once
// Command numbers the view handles; the same numbers as the program's menus.
#ifndef ID_EXPORT_BMP
#define ID_EXPORT_BMP 32919
#endif
#ifndef ID_EXPORT_JPG
#define ID_EXPORT_JPG 33089
#endif
#ifndef ID_EXPORT_PNG
#define ID_EXPORT_PNG 33091
#endif
#ifndef ID_EXPORT_GIF
#define ID_EXPORT_GIF 32933
#endif
#ifndef ID_EXPORT_CLIP_BITMAP
#define ID_EXPORT_CLIP_BITMAP 32920
#endif
#ifndef ID_EXPORT_GIF_ANIMATION
#define ID_EXPORT_GIF_ANIMATION 33093
#endif
#ifndef ID_EXPORT_WMF
#define ID_EXPORT_WMF 32923
#endif
#ifndef ID_EXPORT_EMF
#define ID_EXPORT_EMF 32924
#endif
#ifndef ID_EXPORT_CLIP_METAFILE
#define ID_EXPORT_CLIP_METAFILE 32922
#endif
#ifndef ID_EXPORT_CLIP_EMF
#define ID_EXPORT_CLIP_EMF 32921
#endif
#ifndef ID_RESULT_STOP
#define ID_RESULT_STOP 32959
#endif
