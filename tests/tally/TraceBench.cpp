#include "BarTrace.h"
int main() {}
