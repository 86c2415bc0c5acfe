// Runs every section of the benchmark and prints what each one measured.

void runConfigurationBench();

int main()
{
    runConfigurationBench();
    return 0;
}
