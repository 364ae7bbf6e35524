// Everything a handler calls, in one include.
#pragma once

#include "frame/services/control_services.h"
#include "frame/services/control_texts.h"
#include "frame/services/program_services.h"
#include "frame/services/text_services.h"
#include "frame/services/values.h"
#include "frame/settings/ini_file.h"
#include "frame/window/window_model.h"
