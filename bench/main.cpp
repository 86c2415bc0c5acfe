// Speed and memory figures of the core, one section per topic.

void simulationBench();

int main()
{
    simulationBench();
    return 0;
}
