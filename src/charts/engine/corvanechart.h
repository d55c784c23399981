#pragma once
// One include for users of the charting engine.

#include "arraymath.h"
#include "axis.h"
#include "basechart.h"
#include "chartconst.h"
#include "colors.h"
#include "imagemaphandler.h"
#include "labeltemplate.h"
#include "layer.h"
#include "multichart.h"
#include "plotarea.h"
#include "textbox.h"
#include "viewportcontroller.h"
#include "xychart.h"
