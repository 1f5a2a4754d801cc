#include "vek/model/document/DocumentHooks.h"

DocumentHooks theDocumentHooks;
