// The editor's pairs: picture rows under actions (or picture groups).
#include "tools/list_pair.h"

#include "tools/action_list.h"

template class ddSpreadText<lumoObraz>;
template class ddSpreadTxtManager<lumoObraz>;
template class ddSpreadText<ActionManager>;
template class ddSpreadTxtManager<ActionManager>;
template class ddSpreadTxtList<lumoObraz, ActionManager>;
