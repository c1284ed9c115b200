// placeholder: Linux entry point
int main() { return 0; }
