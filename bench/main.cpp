// Runs every benchmark section in turn and prints its figures.

void runConstructionBench();

int main()
{
    runConstructionBench();
    return 0;
}
