int add_ints(int a, int b) { return a + b; }
