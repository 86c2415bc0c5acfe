// Prints the speed figures of each part against its target.

void runLayoutBench();

int main()
{
    runLayoutBench();
    return 0;
}
