jmp 5
