class c
method m
end method
method m
