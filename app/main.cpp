#include "app/quorrelapp.h"

int main(int argc, char** argv) { return QuorrelMain(argc, argv); }
