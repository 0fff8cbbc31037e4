// planex's TCreateInstance: with class kScriptClassId, the script engine,
// script objects, values, argument lists and script contexts by interface
// id; kNoClass for everything else (the interface definition set shares the
// class id but is tvx's).
#pragma once

#include "framework/interfaces.h"

int32_t CreatePlanexInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                             void** object, framework::Object* outer);
