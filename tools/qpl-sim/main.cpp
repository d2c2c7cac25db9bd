// Placeholder until the controller simulator lands.
int main() { return 0; }
