// The host program of host_point.c compiled as C++.
#include "host_point.c"
