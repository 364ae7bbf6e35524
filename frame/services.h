// Everything a handler calls, in one include.
#pragma once

#include "frame/control_services.h"
#include "frame/ini_file.h"
#include "frame/program_services.h"
#include "frame/text_services.h"
#include "frame/values.h"
#include "frame/window_model.h"
