! The same subroutine in two objects: a duplicate definition.
subroutine which()
  print '(a)', 'first'
end subroutine which
