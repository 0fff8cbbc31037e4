// LivePlaceholder: the window of a live-list entry whose object has no
// control of its own (menu elements, the alphablend background, kinds this
// editor does not know). It keeps entry i at object i and has an empty
// rectangle, so the view never writes its rectangle into the object.
#pragma once

#include "ui/cwnd.h"

class LivePlaceholder : public CWnd {};
