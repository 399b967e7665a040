// Russian language services in one include.
#pragma once

#include "russian/dates.h"
#include "russian/declension.h"
#include "russian/evaluator.h"
#include "russian/numbers.h"
#include "russian/subject_name.h"
