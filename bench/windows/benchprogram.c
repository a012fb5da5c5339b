// The scan benchmark's stand-in program: it only has to exist and carry an icon.
int main(void)
{
    return 0;
}
