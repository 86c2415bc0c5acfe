// Runs every section of the benchmark and prints what each one measured
// against its target.

void runLayoutBench();
void runConfigurationBench();

int main()
{
    runLayoutBench();
    runConfigurationBench();
    return 0;
}
