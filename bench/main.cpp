// Runs every section of the benchmark and prints what each one measured
// against its target.

void runConstructionBench();

int main()
{
    runConstructionBench();
    return 0;
}
