#include "board/kovra_view.h"
