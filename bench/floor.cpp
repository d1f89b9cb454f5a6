// The floor: a program that does nothing, linked the way vintrel is. What it costs to
// start and end a process is the least any run of vintrel can cost.
int main() { return 0; }
