class base
method hello
  localint $1
  mov $1, 3
  mul $1, 2
  pop $a
  ret
end method
end class
class child
parent base
method bye
  cthis hello
  clparent base, hello
end method
end class
module tools
method init
  new string, s
end method
end module
new child, c
call c, bye
delete c
