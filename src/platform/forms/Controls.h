#pragma once
// Everything a window class needs: the form bases, every control, the program context.

#include "platform/forms/App.h"
#include "platform/forms/BasicControls.h"
#include "platform/forms/CommonDialog.h"
#include "platform/forms/FileControls.h"
#include "platform/forms/Form.h"
#include "platform/forms/Keys.h"
#include "platform/forms/ListControls.h"
#include "platform/forms/MdiForm.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Timer.h"
